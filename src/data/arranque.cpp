// start-up
