// Skeleton: replaced by the simulated game.
