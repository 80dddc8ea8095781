// Tests of receive conversion.
