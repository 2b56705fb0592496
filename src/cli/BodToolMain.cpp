// Placeholder until bodtool lands; replaced by the real entry point.
int main() { return 2; }
