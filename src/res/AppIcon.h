#pragma once

extern const char* const kAppIconXpm[];
