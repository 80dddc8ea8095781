// Tests of line loop.
