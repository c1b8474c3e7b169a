#!/usr/bin/env python3
"""Writes reference_system.TLV: a system record built field by field with
Python's struct module, independently of the program's own record code.
The values are the ones tst_systemrecord expects after loading the file."""
import struct
from pathlib import Path

def single(v): return struct.pack('<f', v)
def double(v): return struct.pack('<d', v)
def integer(v): return struct.pack('<h', v)
def text30(s): return s.encode('cp1252').ljust(30, b' ')[:30]

parts = [
    single(3000.0), single(500.0), single(8.0), single(6.0), single(4.0),          # xoverFreq .. xoverRh
    *[single(v) for v in (6.63, 26.5, 3.3, 13.2, -1.5, 2.25)],                     # C1..C4, spare slots
    *[single(v) for v in (0.42, 1.69, 0.11, 0.85, 7.5, -0.125)],                   # L1..L6
    integer(4),                                                                    # xoverType
    single(0.9), single(33.0), single(5.6), single(5.0), single(1.6666666),        # netLe netFs netRe qms qes
    text30('Net Driver \u20ac'),                                                   # netName
    single(6.1), single(0.38), single(48.0), single(120.5), single(40.25),         # bandRe bandQts bandFb bandFh3 bandFl3
    single(2.5), single(1.75),                                                     # bandVas bandVentedVb
    integer(1), integer(1),                                                        # ventedValid bandValid
    single(0.5), double(40.123456789012), single(119.0), single(31.0), single(1.2),  # bandIsoFactor .. bandCoilL
    bytes(30),                                                                     # bandWooferName never assigned
    single(0.0021), single(0.0043),                                                # radiatorVd radiatorVpr
    single(1.23), single(1.2), single(0.75), single(52.5), single(38.0),           # closedVbCalc closedVb bandSealedVb closedFc ventedFb
    single(1.0), single(3.45), single(0.707), single(0.71), single(1.25),          # isoFactor vas closedQtc closedQtcCalc qts
    integer(1), single(30.0), single(2.75), integer(-1),                           # boxValid fs ventedVb boxType
    single(18.5), single(11.4), single(1.875), single(36.6), single(9.25),         # boxHeight boxWidth coilHeight ventedF3 boxDepth
    text30('Woofer Gr\u00f6\u00dfe  '),                                            # driverName, trailing blanks kept
    single(6.0), single(30.0),                                                     # re measFs
    text30('Measured'),                                                            # measDriverName
    single(24.0), single(24.0), single(36.0), single(1.0), single(60.0),           # measZres measF1 measF2 testBoxVolume testBoxFc
]
data = b''.join(parts)
assert len(data) == 374, len(data)
Path(__file__).with_name('reference_system.TLV').write_bytes(data)
