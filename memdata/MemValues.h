#pragma once
// The stored forms of the in-memory table's field types: conversion from and to a variant and
// the ordering used for sorting and searching. A stored value is DataSize bytes in the native
// form of its type (strings zero-terminated).
#include "platform/db/DBTypes.h"
#include "platform/rtl/Variant.h"

// Writes the variant in the stored form of type into dest (dataSize bytes); false, and nothing
// written, for a type without a stored form. Conversion failures raise the variant's error.
bool VariantToStored(TFieldType type, int dataSize, const Variant& value, void* dest);
// The value a stored form stands for; Null for a type without one.
Variant StoredToVariant(TFieldType type, const void* data);
// -1, 0 or 1. Strings compare by bytes, or with ASCII letters folded when caseInsensitive.
int CompareStored(TFieldType type, const void* a, const void* b, bool caseInsensitive);
// The same rules for two texts: ordinal or with ASCII letters folded.
int CompareTexts(const char* a, const char* b, bool caseInsensitive);
int CompareTexts(const char* a, const char* b, std::size_t count, bool caseInsensitive);
