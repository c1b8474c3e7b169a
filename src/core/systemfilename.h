#pragma once
// The name a system file is saved under: the chosen name without leading and
// trailing blanks, with ".TLV" appended unless its last four characters are
// already ".TLV" in any mix of cases ("a.tlv" stays, "a.txt" becomes
// "a.txt.TLV"). A name of blanks only stays empty: no file is made of it.

#include <QString>

QString systemFileName(const QString& chosen);
