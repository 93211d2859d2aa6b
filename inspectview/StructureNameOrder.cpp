#include "StructureNameOrder.h"

#include "inspect/StructureCollection.h"

#include <algorithm>
#include <numeric>

std::vector<int> StructuresInNameOrder(const StructureCollection& collection)
{
    std::vector<int> order(size_t(collection.Count()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&collection](int a, int b) {
        const QString& left = collection.At(a).name;
        const QString& right = collection.At(b).name;
        const int folded = left.compare(right, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : left < right;
    });
    return order;
}
