int main() { return 2; } // work in progress
