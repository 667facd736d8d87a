#pragma once

// Makes the artwork compiled into the static library available to the program (the piece
// strips, the tool bar strip and the icons). Safe to call more than once.
void InitResources();
