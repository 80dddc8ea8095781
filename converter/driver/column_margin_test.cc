// Tests of column margin.
