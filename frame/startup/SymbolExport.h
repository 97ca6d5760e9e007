// Marks the two symbols the loader looks up by their plain names.
#pragma once

#if defined(_WIN32)
#define CORVANIS_EXPORT __declspec(dllexport)
#else
#define CORVANIS_EXPORT __attribute__((visibility("default")))
#endif
