#!/bin/sh
# Test engine: writes its results, then exits with a failure code.
cp Prepared.001 Formula1.001
exit 5
