// Tests of keyword scanner.
