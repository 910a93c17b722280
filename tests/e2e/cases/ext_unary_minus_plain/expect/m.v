// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan
