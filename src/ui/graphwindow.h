#pragma once
// The graph window as the program's windows open it: its Analysis button
// opens the analysis window, which lies in this layer, above the graph's.

class CBGRAPH1;

// Opens the graph window (or brings it forward).
CBGRAPH1* openGraph();
