// Tests of send conversion.
