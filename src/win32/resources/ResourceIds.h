#pragma once

// Numbers of the program's own resources, shared by the resource script and
// the code. Pictures are named resources (their picture names).
#define IDI_DATAVIND 1
