// Placeholder until the application start-up lands; replaced by the real entry point.
int main() { return 0; }
