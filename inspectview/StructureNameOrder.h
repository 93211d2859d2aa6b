#pragma once
// The order in which lists show a collection's structures: alphabetical
// without regard to case, names differing only in case side by side in
// case-sensitive order, so "Header" and "header" always appear the same way.
#include <vector>

class StructureCollection;

// The collection's indexes in display order.
std::vector<int> StructuresInNameOrder(const StructureCollection& collection);
