// The value of one layout field (GetCampoValue): the field's source code
// (Info) says whether it is the layout's constant, a column of a dataset,
// a flag or a number cut or rounded to units; each record family knows a
// different set of source codes.
#pragma once

#include "telematic/layouts/RecordLayout.h"

#include <QString>
#include <QVariant>
#include <functional>

namespace cu {

enum class RecordFamily
{
    A,
    B,
    CD,
    G,
    H,
    Z
};

// Reads the column named by the field's Field in the current row of the
// dataset named by its Cds; an invalid QVariant when the family reads no
// such dataset.
using CampoFetch = std::function<QVariant(const LayoutField&)>;

// The field's value by its Info for the record family. A value that must be
// a number ("T@", "A@" ...) and is not raises an EZfError naming the field.
QString getCampoValue(RecordFamily family, const LayoutField& campo, const CampoFetch& fetch);

} // namespace cu
