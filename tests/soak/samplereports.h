#pragma once

// Three reports in the reports folder of the current platform, as a user
// who has used the program a while has them: expenses of several built-in
// categories with cents, one report with a cash advance, one empty. The
// lists are whatever the document writes when it first saves.
void MakeSampleReports();
