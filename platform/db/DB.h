#pragma once
// The data-set layer: the data set, its fields and field definitions.
#include "BCDField.h"
#include "BlobField.h"
#include "BooleanField.h"
#include "DataSet.h"
#include "DateTimeField.h"
#include "FloatField.h"
#include "IntegerField.h"
#include "StringField.h"
