// Tests of frontend generator.
