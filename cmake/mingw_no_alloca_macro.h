// Forced into every translation unit of the MinGW build. MinGW's <malloc.h>, which
// its standard headers pull in, defines `alloca` as a macro, and that macro would
// rewrite any member function of the same name. Take the header in once, here, and
// drop the macro: the header is guarded, so later includes do not bring it back.
#include <malloc.h>
#undef alloca
