#pragma once
// What the print dialog offers to print (the selection, pages from-to) and
// what it ended with.
#include <QPrinter>
#include <QString>
#include <cstdint>
#include <functional>

class QPrintDialog;

// The print dialog offers the "Selection" choice, preselected, only when
// there is a selection; pages from-to can always be chosen.
void PreparePrintDialog(QPrintDialog& dialog, QPrinter& printer, bool hasSelection);
// The range the dialog ended with is the selection.
bool SelectionChosen(const QPrinter& printer);

// Pages first to last of a printout, counting from 1. An empty span (first
// 0) leaves the choice to the printer: every page, or its own from-to range.
struct PageSpan {
    int64_t first = 0;
    int64_t last = 0;
    bool Empty() const { return first <= 0; }
    friend bool operator==(const PageSpan&, const PageSpan&) = default;
};

// The pages the whole document prints on, with the printer as it is set up.
using PrintPageCounter = std::function<int64_t(QPrinter&)>;

// The printer's own from-to range holds int page numbers, and the dialog
// takes a last page of 2,147,483,647 for "no limit" (its fields then stop at
// 9999): a printout of that many pages or more is given fields of its own.
bool NeedsWidePageRange(int64_t pageCount);

// A from-to range typed as decimal page numbers for a printout of pageCount
// pages: From lies in 1..pageCount and To in From..pageCount. On a fault,
// the field to correct and the message to show.
enum class PageField { None, From, To };
struct PageRangeCheck {
    PageSpan pages;  // valid when bad is None
    PageField bad = PageField::None;
    QString message;
};
PageRangeCheck CheckPageRange(const QString& from, const QString& to, int64_t pageCount);
