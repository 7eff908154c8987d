// Optional statistics line on standard output for soak runs and benchmarks, switched on with the
// environment variable VX_STATS (seconds between lines, e.g. VX_STATS=1). Off, it costs one branch a frame.
#pragma once

// Counts one update / one render of the main loop.
void stats_CountUpdate();
void stats_CountRender();
// Called once per pass of the main loop; reads the host clock and prints a line when a period has passed:
// "stats t=<s> updates=<n> renders=<n> gc_alloced=<bytes> gc_max=<bytes> gc_new=<bytes> objects=<n>
// garbage=<n>" (updates and renders counted over the period; the collector's figures as they are now:
// objects on its live lists, and garbage objects waiting to be destroyed). The first
// rendered frame also prints "stats first-frame t=<s>".
void stats_Tick();
