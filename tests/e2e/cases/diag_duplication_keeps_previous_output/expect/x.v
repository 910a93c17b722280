// the previous translation
