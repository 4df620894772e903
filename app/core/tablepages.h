#pragma once

#include <vector>

// Where the rows of a table go on the pages of a document, the header
// repeated at the head of each page: on the first page the table begins at
// firstTop, on every further one at the top. A row that does not fit below
// the rows before it begins the next page, so a row taller than a page runs
// off the foot of one of its own. Tops and heights in one unit.
struct RowPlace {
    int page = 0;
    double top = 0;
};

std::vector<RowPlace> placeTableRows(double firstTop, double pageHeight, double headerHeight,
                                     const std::vector<double> &rowHeights);
