#pragma once
// What the catalogue's "В Смету" makes sure of before the work-line form opens for a new line
// of the current estimate (GLO::CurrentSmeta): the estimate's header exists and it has a
// section the form can file the line under. Then the thread's GroupsWks buffer holds the
// estimate's last section (the highest number from 0 to 255) and its WrksInSmt buffer a
// cleared line with the file's new-record defaults; no record is reserved, the form numbers
// and adds the line when it completes.

enum class NewLineStart { Ready, NoEstimate, NoSection };

NewLineStart PrepareNewEstimateLine();
// Says why no line can be added (for anything but Ready).
void TellNoNewLine(NewLineStart why);
