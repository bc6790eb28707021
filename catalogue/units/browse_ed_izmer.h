#pragma once
// `BrowseEdIzmer`: the list of the units of measure, edited in place. A window of its own
// when the frame starts it; a lookup under the select request, after which the caller copies
// EDI:EDIZM from the thread's record buffer.

void BrowseEdIzmer();
