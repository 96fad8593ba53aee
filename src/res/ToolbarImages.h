#pragma once

extern const char* const kMainToolbarXpm[];
