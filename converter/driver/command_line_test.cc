// Tests of command line.
