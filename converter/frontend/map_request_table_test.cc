// Tests of map request table.
