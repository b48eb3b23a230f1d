#!/bin/sh
# Test engine: takes a while, then answers with the input it was given, so that a test can tell
# whose results a run read.
sleep 1
cp QuoForm1.001 Formula1.001
