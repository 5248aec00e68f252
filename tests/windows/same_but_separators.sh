#!/usr/bin/env bash
# Compares two files byte for byte, taking "\" and "/" for the same byte, as
# cmp does otherwise: a report written on Windows names folders with "\".
#   same_but_separators.sh PRODUCED EXPECTED
cmp <(tr '\\' / < "${1:?usage: same_but_separators.sh PRODUCED EXPECTED}") <(tr '\\' / < "${2:?}")
