#pragma once
// The engine's fixed code tables: cover sections (for section excesses) and classes of use.

#include <QString>

// "Accidental damage" for 1 ... "Minimum fire and theft" for 23; empty for any other code.
QString CoverSectionDescription(int sectionCode);
// "Social, Domestic and Pleasure" for 1 ... 7; empty for any other code.
QString UseCodeDescription(int useCode);
