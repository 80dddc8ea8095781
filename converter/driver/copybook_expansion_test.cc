// Tests of copybook expansion.
