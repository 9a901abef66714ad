#pragma once
// Environment variables set for the life of an object (the annex code reads DATA, DRAM,
// EXEC and the application number from the environment).
#include <cstdlib>
#include <optional>
#include <string>

class Env_Override {
public:
    // Leaves the variable as it is now and gives that value back at the end, whatever the
    // test sets in between.
    explicit Env_Override(const char* name) : name_(name)
    {
        if (const char* old = std::getenv(name)) old_ = old;
    }
    // A null value removes the variable.
    Env_Override(const char* name, const char* value) : Env_Override(name)
    {
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~Env_Override()
    {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    Env_Override(const Env_Override&) = delete;
    Env_Override& operator=(const Env_Override&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};
