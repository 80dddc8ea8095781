// Tests of return and transfer.
