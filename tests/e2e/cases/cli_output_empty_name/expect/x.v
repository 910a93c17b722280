// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a);
   input m_clock;
   input p_reset;
   input a;
endmodule
