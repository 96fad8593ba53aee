#pragma once

#include "ui/CControl.h"

// A text label or a framed value; greyed together with the field it names.
class CStatic : public CControl {};
