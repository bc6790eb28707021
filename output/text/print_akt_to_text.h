#pragma once
// `PrintAktToText`: the act of the estimate `NumSmeta` holds when it starts as the text report
// "TEXTREP", its lines through `PrintGroups1`: the lines with an act quantity, with the act's
// amounts; then the text viewer on the file. Runs on the calling thread.

void PrintAktToText();
