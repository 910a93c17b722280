// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m1(m_clock, p_reset, x);
   input m_clock;
   input p_reset;
   input x;
endmodule

module m2(m_clock, p_reset);
   input m_clock;
   input p_reset;
   wire _u1_a;
   sub u1(.m_clock(m_clock), .p_reset(p_reset), .a(_u1_a));
endmodule
