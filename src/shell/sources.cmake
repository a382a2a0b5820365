target_sources(skycore PRIVATE)
