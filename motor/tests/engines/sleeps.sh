#!/bin/sh
# Test engine: never ends by itself. It starts a child of its own so that a test can check that
# stopping the engine stops the child too.
echo $$ > engine.pid
sleep 600 &
echo $! > child.pid
wait
