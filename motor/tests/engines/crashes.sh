#!/bin/sh
# Test engine: leaves the prepared results and is then killed by a signal, as an engine that
# crashes while it writes would be.
echo $$ > engine.pid
cp Prepared.001 Formula1.001
kill -SEGV $$
