// A program that delay-loads ql_fixture_absent.dll, a DLL no Windows has; the import check must name it.
int ql_fixture_routine(void);

int main(void) { return ql_fixture_routine(); }
