// Tests of attention keys.
