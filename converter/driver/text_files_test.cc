// Tests of text files.
