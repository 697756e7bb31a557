#pragma once
// The looks and colour sets by their type numbers; any other number gives
// the default class.

#include <memory>

class CTKTabColorSet;
class CTKTabLook;

std::unique_ptr<CTKTabLook> CreateTabLook(int type);
std::unique_ptr<CTKTabColorSet> CreateTabColorSet(int type);
