#!/bin/sh
# Test engine: leaves a folder where its results file belongs, so the results cannot be read.
echo $$ > engine.pid
mkdir Formula1.001
