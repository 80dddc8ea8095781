// Tests of field renames.
