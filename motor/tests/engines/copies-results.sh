#!/bin/sh
# Test engine: leaves the prepared results beside it as its results, and notes how it was run.
echo "$#" > started-with-arguments.txt
pwd > started-in.txt
printf '%s' "${QM_ENGINE_PROBE:-}" > started-with-probe.txt
cp Prepared.001 Formula1.001
