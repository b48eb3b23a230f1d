#!/bin/sh
# Test engine: refuses its input, says why on standard error and leaves no results.
echo "QuoForm1.001: line 3 is not a number" >&2
exit 3
