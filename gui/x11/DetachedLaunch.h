#pragma once

// Starts `program` with the single argument `argument` as a process of its own that
// outlives nothing of ours: no shell reads the argument, the caller waits only for
// the program to start, and no child is left for the caller to reap. A program
// without a slash is searched in PATH. True when the program was started; false
// when it was not found or could not be run.
bool LaunchDetached(const char* program, const char* argument);
