#pragma once

class CExpenseDoc;

// A heading tap on either list: the same key again reverses the direction,
// another key takes over with the direction as it was; the report is then
// sorted under the wait cursor.
void SortByHeading(CExpenseDoc& document, int key);
