#pragma once

// A data-driven test's rows as one struct each, named by its `name`: one
// column to add, one QFETCH to read. The struct needs Q_DECLARE_METATYPE.

#include <QTest>

#include <cstddef>

template <typename Row, std::size_t N> void addRows(const Row (&rows)[N])
{
    QTest::addColumn<Row>("row");
    for (const Row& row : rows)
        QTest::newRow(row.name) << row;
}
