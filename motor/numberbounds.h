#pragma once
// The numbers a proposal may hold. A number field refuses, as it is left, a value that no
// vehicle or person can have, or one wider than the engine input gives its property (the
// transfer definition knows each field's width): stored, it would be cut on its way to the
// engine, or make the engine fail.

#include <QString>
#include <cstdint>

// The highest value a property may hold (every number here is 0 or more); 0 when the
// property has no bound of its own.
double NumberMaximum(std::int32_t id);

// Why the value cannot be stored for the property, in the program's words ("\r" between the
// lines), or empty when it can. exportsFile is the transfer definition; empty skips the
// engine-width check.
QString NumberRefusal(std::int32_t id, double value, const QString& exportsFile);
