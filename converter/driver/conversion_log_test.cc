// Tests of conversion log.
