// Data-driven tests over a table of cases that carry their names: each data row is an index into it.
#pragma once

#include <QTest>

#include <cstddef>

using Chars = const char*;  // a text column of such a table

template <class Row, std::size_t N>
void AddRows(const Row (&rows)[N])
{
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < N; ++i)
        QTest::newRow(rows[i].name) << int(i);
}
