#include "tablepages.h"

std::vector<RowPlace> placeTableRows(double firstTop, double pageHeight, double headerHeight,
                                     const std::vector<double> &rowHeights)
{
    std::vector<RowPlace> places;
    int page = 0;
    double y = firstTop + headerHeight;
    for (const double height : rowHeights) {
        if (y + height > pageHeight) {
            ++page;
            y = headerHeight;
        }
        places.push_back({page, y});
        y += height;
    }
    return places;
}
