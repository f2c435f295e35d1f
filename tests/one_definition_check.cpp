// Built from every library of the toolkit, each taken whole (see
// tests/CMakeLists.txt): that it links at all is the check that no two
// libraries define the same symbol.  Running it does nothing.
int main() { return 0; }
