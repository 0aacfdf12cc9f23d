// Links the widget-free libraries whole; it is built, never run.
int main()
{
    return 0;
}
