#pragma once

#include <random>

class CExpenseRecords;

// Adds `count` expenses of six categories with random dates, descriptions
// and amounts, the same for the same random state.
void AddBenchExpenses(CExpenseRecords& records, int count, std::mt19937& random);
